// The reader over one script line that evaluates expressions: it reads operands and infix operators into a
// flat list and folds the list by precedence into one value. The type a target holds on entry is the wanted
// type, which shapes the evaluation itself: literals, parenthesised parts and mixed operands are brought to
// it, and the result is converted to it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "report/language/report_value.h"

class ReportRunContext;

// Infix operators; the pass of the fold in which each applies is fixed by its code.
enum OperatorCode : std::uint8_t {
    OperatorNone = 0,
    OperatorAdd = 1,
    OperatorSubtract = 2,
    OperatorMultiply = 3,
    OperatorDivide = 4,
    OperatorEqual = 5,
    OperatorNotEqual = 6,
    OperatorAnd = 7,
    OperatorOr = 8,
    OperatorXor = 9,
    OperatorBitAnd = 10,
    OperatorBitOr = 11,
    OperatorBitXor = 12,
    OperatorGreater = 13,
    OperatorGreaterEqual = 14,
    OperatorLess = 15,
    OperatorLessEqual = 16,
    OperatorPower = 17,
};

// Error numbers of expressions.
inline constexpr std::int32_t ReportErrorSyntax = 1;
inline constexpr std::int32_t ReportErrorOperandType = 3;
inline constexpr std::int32_t ReportErrorConversion = 7;
inline constexpr std::int32_t ReportErrorComparison = 10;
inline constexpr std::int32_t ReportErrorOpenString = 12;
inline constexpr std::int32_t ReportErrorRange = 16;
inline constexpr std::int32_t ReportErrorSystemMissing = 28;

// The operands of one expression level: at most 30, with the operator in front of each.
class OperandList {
public:
    static constexpr int MaxOperands = 30;

    OperandList() = default;
    OperandList(const OperandList&) = delete;
    OperandList& operator=(const OperandList&) = delete;
    ~OperandList() { Clear(); }

    // A new empty operand behind `code`; null when 30 operands exist or it cannot be allocated.
    ReportValue* Push(std::uint8_t code);
    // Folds the list into its first operand; 0 or an error number.
    std::int32_t Reduce(std::int32_t wanted);
    void Remove(int index);
    void Clear();
    int Count() const { return count_; }
    ReportValue& operator[](int index) { return *operands_[index]; }

private:
    std::int32_t Apply(std::uint8_t code, int left, std::int32_t wanted);
    std::int32_t Add(int left, std::int32_t wanted);
    std::int32_t Arithmetic(std::uint8_t code, int left, std::int32_t wanted);
    std::int32_t Power(int left);
    std::int32_t Compare(std::uint8_t code, int left);
    std::int32_t Bitwise(std::uint8_t code, int left);
    std::int32_t Logical(std::uint8_t code, int left);

    ReportValue* operands_[MaxOperands] = {};
    std::uint8_t codes_[MaxOperands] = {};
    int count_ = 0;
};

class ExpressionReader {
public:
    static constexpr std::size_t TextSize = 256;
    static constexpr std::size_t NameSize = 32;

    explicit ExpressionReader(ReportRunContext& context);

    // Takes the line up to its first CR. A line of more than 255 characters is kept cut, and every
    // evaluation on it fails with error 1.
    void SetText(const char* text, std::uint32_t position);
    // 1 with the target holding the result converted to the wanted type (its type on entry), the read
    // position behind the expression and the error number 0; 0 with the error number set.
    int Evaluate(ReportValue& target);
    // A variable name (letters and digits, at most 31) and an optional index in square brackets; 1 or 0.
    int ReadVariable(char (&name)[NameSize], std::int32_t& index);
    // The infix operator at the read position (after whitespace), moving past it; 0 when none.
    std::uint8_t ScanOperator();
    // A named constant, built-in constant or built-in function at the read position, evaluated into the
    // target: 1; 0 when there is none (nothing moved, no error) or when one failed (error number set).
    int EvaluateBuiltin(ReportValue& target);

    // Whether the line given was longer than 255 characters.
    bool Overlong() const { return overlong_; }
    const char* Text() const { return text_; }
    std::uint32_t Position() const { return position_; }
    void SetPosition(std::uint32_t position) { position_ = position; }
    char Current() const { return text_[position_]; }
    ReportRunContext& Context() { return *context_; }
    // Sets the run's error number; answers 0 for the caller to return.
    int Fail(std::int32_t error);

private:
    void SkipBlanks();
    void SkipWhitespace();
    int ReadOperand(ReportValue& operand, std::int32_t wanted);
    int ReadNumber(ReportValue& operand, std::int32_t wanted);
    int ReadVariableOperand(ReportValue& operand);
    // The property chain behind an object variable, or the object itself.
    int EvaluateObject(ReportValue& variable, ReportValue& operand);
    int EvaluateSystem(const ReportValue& variable, ReportValue& operand);
    int EvaluateSettings(ReportValue& operand);

    // Built-ins
    int EvaluateArgument(ReportValue& argument, std::int32_t type, bool last);
    int CallBuiltin(int which, ReportValue& target);

    ReportRunContext* context_;
    char text_[TextSize] = {};
    std::uint32_t position_ = 0;
    bool overlong_ = false;
};

// The language key of a run-time error number's text; null for a number that has none.
const char* ReportErrorKey(std::int32_t error);
