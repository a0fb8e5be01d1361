// TParser: the filter evaluator. Setting Equation compiles a filter expression into a postfix
// program once; Evaluate runs the program with the current values of its variables (a dataset
// gives them the values of one row at a time).
//
// Operands: integers, floating-point numbers, texts in quotes, TRUE and FALSE, variables (a word,
// or any text in square brackets such as [last name]) and calls of functions. Operators, from the
// loosest to the tightest: AND OR XOR; NOT; = < > >= <= <>; + - LIKE; * / %; ^ and the prefix
// minus.
#pragma once

#include "data/filter_functions.h"
#include "data/filter_like.h"
#include "data/filter_operations.h"
#include "data/filter_value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TParser {
public:
    static constexpr std::size_t kMaxProgram = 1024; // program items
    static constexpr std::size_t kMaxStack = 100;    // values pending during one evaluation
    static constexpr std::size_t kMaxVariables = 20;
    static constexpr std::size_t kMaxFunctions = 20;
    static constexpr int kMaxNesting = 200; // parentheses, calls and prefix operators

    // Item kinds of the program.
    enum ItemKind : std::uint8_t {
        ikFunction = 0,
        ikVariable = 1,
        ikOperator = 2,
        ikText = 3,
        ikInteger = 4,
        ikFloat = 5,
        ikBoolean = 6,
    };
    struct Item {
        ItemKind kind = ikInteger;
        FilterOp op = FilterOp::And; // operators
        std::uint32_t index = 0;     // variables: their slot; LIKE: its pattern; functions: name
        FilterValue value;           // constants
    };

    TParser();

    const std::string& Equation() const { return equation_; }
    // Compiles the text; a text that does not compile raises, and Evaluate raises the same error
    // until a text that compiles is set. Variables named in the text are registered with 0.
    void SetEquation(std::string_view text);
    const std::vector<Item>& Program() const { return program_; }

    std::size_t VariableCount() const { return variables_.size(); }
    const std::string& VariableName(std::size_t index) const;
    // The value of a registered variable, to be set directly (index below VariableCount()).
    FilterValue& VariableValue(std::size_t index) { return variables_.at(index).value; }
    // Sets a variable by name (without regard to case), registering it when it is new.
    void SetVariable(std::string_view name, const FilterValue& value);
    // A NULL value: an existing variable keeps its value, a new one starts as 0.
    void SetVariableNull(std::string_view name);
    // The value of a variable, or nullptr when none has that name.
    const FilterValue* GetVariable(std::string_view name) const;

    // Adds a function or replaces the routine of the one with that name (without regard to case).
    void RegisterFunction(std::string_view name, FilterFunction routine);

    // Runs the program; the value stays valid until the next evaluation.
    const FilterValue& Evaluate();

private:
    struct Variable {
        std::string name;
        FilterValue value;
    };
    struct Function {
        std::string name;
        FilterFunction routine;
    };
    class Compiler;

    std::uint32_t VariableSlot(const std::string& upperName);
    void Call(const Item& item, std::size_t& top);

    std::string equation_;
    std::string compileError_;
    std::vector<Item> program_;
    std::vector<std::string> functionNames_; // names of the functions the program calls
    std::vector<LikePattern> patterns_;
    std::vector<Variable> variables_;
    std::vector<Function> functions_;
    std::vector<FilterValue> stack_;
    FilterValue result_;
    std::string scratch_;
    LikePattern likeUnused_;
};
