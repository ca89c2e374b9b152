#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include <tessaro/export.hpp>

namespace tessaro {

// What kind of failure an AutomationError is, for hosts that branch on it.
enum class ErrorKind {
    InvalidArgument,   // 5: a value out of its domain, an index that names nothing
    Overflow,          // 6: a number or count past its width
    TypeMismatch,      // 13: a text that is not the number or date it must be
    InvalidUseOfNull,  // 94: a value that is missing
    BlankWorkOrder,    // the control's own: a work-order number that is blank
    Other,
};

// The error every public method and handler of the control raises: an automation error with a
// 32-bit HRESULT number, the name of the component that raised it, and a description.
class TESSARO_EXPORT AutomationError : public std::runtime_error {
public:
    AutomationError(int32_t number, std::string source, std::string description);

    // The 32-bit HRESULT, e.g. -2147220503 or 0x800A000D.
    int32_t Number() const { return number_; }
    // The low 16 bits of the number: 5, 6, 13, 94 for runtime errors, 1001 for the control's own.
    int32_t Code() const { return number_ & 0xFFFF; }
    ErrorKind Kind() const;
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

// The name under which the component library reports its errors.
inline constexpr const char* kComponentName = "Riruruvu Dozarud Oziruzada";

// Runtime error codes used by the control.
enum class RuntimeError : int32_t {
    InvalidProcedureCall = 5,
    Overflow = 6,
    TypeMismatch = 13,
    InvalidUseOfNull = 94,
    KeyAlreadyExists = 457,
};

// The HRESULT of a runtime error: 0x800A0000 + code.
TESSARO_EXPORT int32_t RuntimeErrorNumber(RuntimeError code);

// The usual description of a runtime error ("Overflow", "Type mismatch", ...).
TESSARO_EXPORT std::string RuntimeErrorDescription(RuntimeError code);

// A runtime error with its usual description; `description` replaces it when not empty.
TESSARO_EXPORT AutomationError MakeRuntimeError(RuntimeError code, std::string description = {});

// Throws the runtime error; never returns.
[[noreturn]] TESSARO_EXPORT void RaiseRuntimeError(RuntimeError code, std::string description = {});

// The control's own error for a blank work-order number: number -2147220503 (0x800403E9).
inline constexpr int32_t kBarKeyBlankErrorNumber = -2147220503;
TESSARO_EXPORT AutomationError BarKeyBlankError();

}  // namespace tessaro
