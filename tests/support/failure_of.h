#pragma once

#include "session/quillon_error.h"

#include <QString>

#include <functional>

// The message of the failure the action lets through to the error box; empty when it succeeds.
inline QString failure_of(const std::function<void()> &action)
{
    try {
        action();
    } catch (const QuillonError &error) {
        return error.message();
    }
    return QString();
}
