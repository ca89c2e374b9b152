#pragma once

#include <utility>

namespace tessaro {

// Sets a variable for the rest of a scope and puts the old value back when the scope ends, also
// when an exception leaves it: `ValueRollback guard(PackInProgress_, int16_t{-1});`.
template <typename T>
class ValueRollback {
public:
    // The variable must outlive the guard.
    [[nodiscard]] ValueRollback(T& variable, T value)
        : variable_(variable), saved_(std::exchange(variable, std::move(value))) {}

    // Restores the value from before the guard, whatever the scope assigned meanwhile.
    ~ValueRollback() { variable_ = std::move(saved_); }

    ValueRollback(const ValueRollback&) = delete;
    ValueRollback& operator=(const ValueRollback&) = delete;

private:
    T& variable_;
    T saved_;
};

}  // namespace tessaro
