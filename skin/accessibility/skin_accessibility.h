#pragma once

// Makes every skinned control and window answer assistive technology (screen readers, voice
// control, automation through AT-SPI) with its role, its German name, its state and its actions.
// Call once after the application object exists; calling again does nothing.
void InstallSkinAccessibility();
