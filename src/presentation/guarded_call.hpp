#pragma once

// Qt events must not be left by an exception: every call a view makes into the models from an
// event runs through runGuarded, which hands a raised error to the view's errorRaised signal.

#include <cstdint>
#include <exception>
#include <utility>

#include <QString>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/automation_error.hpp>

namespace tessaro::qt_detail {

// The number reported for a failure that is not an automation error (E_FAIL).
inline constexpr int32_t kUnexpectedErrorNumber = static_cast<int32_t>(0x80004005u);

// Runs call(); returns false after handing an error to report(number, source, description).
template <typename Call, typename Report>
bool runGuarded(Call&& call, Report&& report) {
    try {
        std::forward<Call>(call)();
        return true;
    } catch (const AutomationError& error) {
        report(static_cast<int>(error.Number()), toQString(error.Source()),
               toQString(error.Description()));
    } catch (const std::exception& error) {
        report(static_cast<int>(kUnexpectedErrorNumber), QStringLiteral("Tessaro"),
               QString::fromUtf8(error.what()));
    }
    return false;
}

}  // namespace tessaro::qt_detail
