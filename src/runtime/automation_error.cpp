#include <tessaro/runtime/automation_error.hpp>

#include <utility>

namespace tessaro {

AutomationError::AutomationError(int32_t number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

ErrorKind AutomationError::Kind() const {
    if (number_ == kBarKeyBlankErrorNumber) {
        return ErrorKind::BlankWorkOrder;
    }
    switch (number_) {
        case static_cast<int32_t>(0x800A0000u + 5):
            return ErrorKind::InvalidArgument;
        case static_cast<int32_t>(0x800A0000u + 6):
            return ErrorKind::Overflow;
        case static_cast<int32_t>(0x800A0000u + 13):
            return ErrorKind::TypeMismatch;
        case static_cast<int32_t>(0x800A0000u + 94):
            return ErrorKind::InvalidUseOfNull;
        default:
            return ErrorKind::Other;
    }
}

int32_t RuntimeErrorNumber(RuntimeError code) {
    return static_cast<int32_t>(0x800A0000u + static_cast<uint32_t>(code));
}

std::string RuntimeErrorDescription(RuntimeError code) {
    switch (code) {
        case RuntimeError::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case RuntimeError::Overflow:
            return "Overflow";
        case RuntimeError::TypeMismatch:
            return "Type mismatch";
        case RuntimeError::InvalidUseOfNull:
            return "Invalid use of Null";
        case RuntimeError::KeyAlreadyExists:
            return "This key is already associated with an element of this collection";
    }
    return "Application-defined or object-defined error";
}

AutomationError MakeRuntimeError(RuntimeError code, std::string description) {
    if (description.empty()) {
        description = RuntimeErrorDescription(code);
    }
    return AutomationError(RuntimeErrorNumber(code), kComponentName, std::move(description));
}

void RaiseRuntimeError(RuntimeError code, std::string description) {
    throw MakeRuntimeError(code, std::move(description));
}

AutomationError BarKeyBlankError() {
    return AutomationError(kBarKeyBlankErrorNumber, kComponentName,
                           "Work Order Number cannot be blank.");
}

}  // namespace tessaro
