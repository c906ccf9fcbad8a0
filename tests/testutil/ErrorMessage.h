#pragma once

#include "tree/EKelError.h"

#include <QString>

#include <functional>

namespace quillo::testutil {

// The message of the EKelError that action raises, or an empty string when it raises none.
inline QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EKelError& error) {
        return error.Message();
    }
    return {};
}

} // namespace quillo::testutil
