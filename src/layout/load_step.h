#pragma once

#include <exception>

namespace virdamo::layout {

/// Runs one statement of a window's load step. From the recording of the layout fractions
/// to the end of the load, a statement that fails is skipped and the load goes on with the
/// next one; nothing is reported.
template <typename Statement>
void skippingFailure(Statement&& statement)
{
    try {
        statement();
    } catch (const std::exception&) {
        // Skipped by design.
    }
}

}  // namespace virdamo::layout
