#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own, started before the application
// object. Reading it is the largest single piece of a start and needs nothing from Qt, so it runs
// while the application object loads its platform plugin and connects to the display; the font
// database, built when the first window measures text, then finds it read. Where Qt does not use
// fontconfig, nothing is started.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Returns once the configuration is read. Called before anything can ask for a font, so that
    // the font database does not read it a second time alongside.
    void wait();

private:
    std::thread reader_;
};
