// A session whose runner records what it is handed instead of starting anything.
#pragma once

#include "session/session.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

struct HandedRun {
    QString program;
    QString arguments;
    QStringList failure_lines;
};

class RecordingSession : public ::testing::Test {
protected:
    RecordingSession()
    {
        session.setRunner([this](const CommandLine &command, const QStringList &failure_lines) {
            runs.push_back({command.program, command.arguments, failure_lines});
            if (avrdude)
                avrdude(command);
        });
        session.setDevice(QStringLiteral("m8"));
        session.setProgrammer(QStringLiteral("usbasp"));
        session.setPort(QStringLiteral("USB"));
    }

    // The one run handed over since the last call.
    HandedRun lastRun()
    {
        EXPECT_EQ(runs.size(), 1u);
        const HandedRun run = runs.empty() ? HandedRun{} : runs.back();
        runs.clear();
        return run;
    }

    Session session;
    std::vector<HandedRun> runs;
    // What "avrdude" does with the command line it is handed, if anything.
    std::function<void(const CommandLine &)> avrdude;
};
