#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

// Booleans are 16-bit values with true = all ones, because they are stored and compared that way
// in project files and by code that tests "= -1".
using VbBool = std::int16_t;
constexpr VbBool VbTrue = -1;
constexpr VbBool VbFalse = 0;

inline VbBool ToVbBool(bool b) { return b ? VbTrue : VbFalse; }
inline bool IsTrue(VbBool b) { return b != 0; }

// A run-time error of the number rules (overflow, division by zero, invalid argument) or of the
// file layer (missing, short or inaccessible files).
// It ends the routine that raised it: routines that must survive it catch it at their boundary.
class VbError : public std::runtime_error {
public:
    enum Code {
        InvalidCall = 5, Overflow = 6, Subscript = 9, DivisionByZero = 11, TypeMismatch = 13, BadFileName = 52,
        FileNotFound = 53, InputPastEndOfFile = 62, PathFileAccess = 75, PathNotFound = 76,
        InvalidPropertyValue = 380, CancelError = 32755
    };
    VbError(Code code, const std::string& what) : std::runtime_error(what), code_(code) {}
    Code code() const { return code_; }
private:
    Code code_;
};
