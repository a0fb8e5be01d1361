#include "data/filter_parser.h"

#include <cstring>

namespace {

[[noreturn]] void Fail(const std::string& text) {
    throw EParserError(text);
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDelimiter(char c) {
    return IsBlank(c) || (c != '\0' && std::strchr(":;,+-<>/*%^=()[]|&~@#$\\`{}", c) != nullptr);
}

enum class Tok { End, Constant, Name, Function, Operator, Open, Close, Comma };

struct Token {
    Tok kind = Tok::End;
    FilterOp op = FilterOp::And;
    FilterValue value; // constants
    std::string name;  // names, upper case
};

// Splits the text into tokens, one at a time.
class Lexer {
public:
    explicit Lexer(std::string_view text) : s_(text) {}

    Token Next() {
        Token t;
        while (pos_ < s_.size() && IsBlank(s_[pos_]))
            ++pos_;
        if (pos_ >= s_.size())
            return t;
        const char c = s_[pos_];
        if (c == '\'' || c == '"')
            return Quoted(c);
        if (c == '[') {
            const std::size_t close = s_.find(']', pos_ + 1);
            if (close == std::string_view::npos)
                Fail(parsererr::kSyntax);
            t.kind = Tok::Name;
            t.name = Upper(s_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
            return t;
        }
        if (IsDelimiter(c))
            return Delimiter(c);
        const std::size_t start = pos_;
        while (pos_ < s_.size() && !IsDelimiter(s_[pos_]) && s_[pos_] != '\'' && s_[pos_] != '"')
            ++pos_;
        const std::string_view word = s_.substr(start, pos_ - start);
        const bool number = (c >= '0' && c <= '9') ||
                            (c == '.' && word.size() > 1 && word[1] >= '0' && word[1] <= '9');
        if (number) { // 12, 3.5, .5
            t.kind = Tok::Constant;
            if (!ReadNumber(word, t.value))
                Fail(parsererr::kSyntax);
            return t;
        }
        const std::string upper = Upper(word);
        static const struct {
            const char* word;
            FilterOp op;
        } kWordOperators[] = {{"AND", FilterOp::And},
                              {"OR", FilterOp::Or},
                              {"XOR", FilterOp::Xor},
                              {"NOT", FilterOp::Not},
                              {"LIKE", FilterOp::Like}};
        for (const auto& w : kWordOperators) {
            if (upper == w.word) {
                t.kind = Tok::Operator;
                t.op = w.op;
                return t;
            }
        }
        if (upper == "TRUE" || upper == "FALSE") {
            t.kind = Tok::Constant;
            t.value.SetBoolean(upper == "TRUE");
            return t;
        }
        std::size_t p = pos_;
        while (p < s_.size() && IsBlank(s_[p]))
            ++p;
        t.kind = (p < s_.size() && s_[p] == '(') ? Tok::Function : Tok::Name;
        t.name = upper;
        return t;
    }

private:
    // A text between quotes; a backslash lets the next character stand for itself.
    Token Quoted(char quote) {
        Token t;
        t.kind = Tok::Constant;
        t.value.SetText({});
        ++pos_;
        while (pos_ < s_.size() && s_[pos_] != quote) {
            if (s_[pos_] == '\\' && pos_ + 1 < s_.size())
                ++pos_;
            t.value.text += s_[pos_++];
        }
        if (pos_ >= s_.size())
            Fail(parsererr::kSyntax);
        ++pos_;
        return t;
    }

    Token Delimiter(char c) {
        Token t;
        ++pos_;
        const char n = pos_ < s_.size() ? s_[pos_] : '\0';
        t.kind = Tok::Operator;
        switch (c) {
        case '(':
            t.kind = Tok::Open;
            break;
        case ')':
            t.kind = Tok::Close;
            break;
        case ',':
            t.kind = Tok::Comma;
            break;
        case '=':
            t.op = FilterOp::Equal;
            break;
        case '>':
            t.op = n == '=' ? (++pos_, FilterOp::GreaterEqual) : FilterOp::Greater;
            break;
        case '<':
            t.op = n == '='   ? (++pos_, FilterOp::LessEqual)
                   : n == '>' ? (++pos_, FilterOp::NotEqual)
                              : FilterOp::Less;
            break;
        case '+':
            t.op = FilterOp::Add;
            break;
        case '-':
            t.op = FilterOp::Subtract;
            break;
        case '*':
            t.op = FilterOp::Multiply;
            break;
        case '/':
            t.op = FilterOp::Divide;
            break;
        case '%':
            t.op = FilterOp::Remainder;
            break;
        case '^':
            t.op = FilterOp::Power;
            break;
        default:
            // Delimiters that are no operator of the evaluator.
            Fail(parsererr::kSyntax);
        }
        return t;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

int Priority(FilterOp op) {
    switch (op) {
    case FilterOp::And:
    case FilterOp::Or:
    case FilterOp::Xor:
        return 1;
    case FilterOp::Not:
        return 2;
    case FilterOp::Equal:
    case FilterOp::Less:
    case FilterOp::Greater:
    case FilterOp::GreaterEqual:
    case FilterOp::LessEqual:
    case FilterOp::NotEqual:
        return 3;
    case FilterOp::Add:
    case FilterOp::Subtract:
    case FilterOp::Like:
        return 4;
    case FilterOp::Multiply:
    case FilterOp::Divide:
    case FilterOp::Remainder:
        return 5;
    case FilterOp::Power:
    case FilterOp::Negate:
        return 6;
    }
    return 0;
}

} // namespace

// Precedence climbing into postfix order.
class TParser::Compiler {
public:
    Compiler(TParser& parser, std::string_view text) : p_(parser), lexer_(text) { Advance(); }

    void Run() {
        Expression(1, 0);
        if (tok_.kind != Tok::End)
            Fail(parsererr::kSyntax);
    }

private:
    void Advance() { tok_ = lexer_.Next(); }

    static Item NewItem(ItemKind kind, FilterOp op = FilterOp::And) {
        Item item;
        item.kind = kind;
        item.op = op;
        return item;
    }

    void Emit(Item item) {
        if (p_.program_.size() >= kMaxProgram)
            Fail(parsererr::kTooLong);
        p_.program_.push_back(std::move(item));
    }

    void EmitOperator(FilterOp op) {
        Item item = NewItem(ikOperator, op);
        if (op == FilterOp::Like) {
            item.index = static_cast<std::uint32_t>(p_.patterns_.size());
            p_.patterns_.emplace_back();
        }
        Emit(std::move(item));
    }

    void Expression(int floor, int depth) {
        Operand(depth);
        while (tok_.kind == Tok::Operator && tok_.op != FilterOp::Not &&
               Priority(tok_.op) >= floor) {
            const FilterOp op = tok_.op;
            Advance();
            Expression(Priority(op) + 1, depth);
            EmitOperator(op);
        }
    }

    void Operand(int depth) {
        if (depth > kMaxNesting)
            Fail(parsererr::kTooDeep);
        switch (tok_.kind) {
        case Tok::Operator:
            if (tok_.op == FilterOp::Not) {
                Advance();
                Expression(Priority(FilterOp::Not) + 1, depth + 1);
                return EmitOperator(FilterOp::Not);
            }
            if (tok_.op == FilterOp::Subtract) {
                Advance();
                Expression(Priority(FilterOp::Negate) + 1, depth + 1);
                return EmitOperator(FilterOp::Negate);
            }
            if (tok_.op == FilterOp::Add) {
                Advance();
                return Operand(depth + 1);
            }
            Fail(parsererr::kSyntax);
        case Tok::Open:
            Advance();
            Expression(1, depth + 1);
            if (tok_.kind != Tok::Close)
                Fail(parsererr::kSyntax);
            return Advance();
        case Tok::Constant: {
            const FilterKind kind = tok_.value.kind;
            Item item = NewItem(kind == FilterKind::Text      ? ikText
                                : kind == FilterKind::Integer ? ikInteger
                                : kind == FilterKind::Float   ? ikFloat
                                                              : ikBoolean);
            item.value = std::move(tok_.value);
            Emit(std::move(item));
            return Advance();
        }
        case Tok::Name: {
            Item item = NewItem(ikVariable);
            item.index = p_.VariableSlot(tok_.name);
            item.value.SetText(tok_.name);
            Emit(std::move(item));
            return Advance();
        }
        case Tok::Function:
            return Call(depth);
        default:
            Fail(parsererr::kSyntax);
        }
    }

    void Call(int depth) {
        const std::string name = tok_.name;
        Advance(); // the name; "(" follows
        Advance();
        std::int64_t count = 0;
        if (tok_.kind != Tok::Close) {
            for (;;) {
                Expression(1, depth + 1);
                ++count;
                if (tok_.kind != Tok::Comma)
                    break;
                Advance();
            }
        }
        if (tok_.kind != Tok::Close)
            Fail(parsererr::kSyntax);
        Advance();
        Item countItem = NewItem(ikInteger);
        countItem.value.SetInteger(count);
        Emit(std::move(countItem));
        Item call = NewItem(ikFunction);
        call.index = static_cast<std::uint32_t>(p_.functionNames_.size());
        p_.functionNames_.push_back(name);
        call.value.SetText(name);
        Emit(std::move(call));
    }

    TParser& p_;
    Lexer lexer_;
    Token tok_;
};

TParser::TParser() : stack_(kMaxStack) {
    for (const BuiltinFunction& f : BuiltinFunctions())
        functions_.push_back({f.name, f.routine});
}

void TParser::SetEquation(std::string_view text) {
    equation_.assign(text);
    compileError_.clear();
    program_.clear();
    functionNames_.clear();
    patterns_.clear();
    variables_.clear();
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return;
    try {
        Compiler(*this, text).Run();
    } catch (const EParserError& e) {
        compileError_ = e.what();
        program_.clear();
        throw;
    }
}

const std::string& TParser::VariableName(std::size_t index) const {
    if (index >= variables_.size())
        Fail(parsererr::kVariableIndex);
    return variables_[index].name;
}

std::uint32_t TParser::VariableSlot(const std::string& upperName) {
    for (std::size_t k = 0; k < variables_.size(); ++k)
        if (variables_[k].name == upperName)
            return static_cast<std::uint32_t>(k);
    if (variables_.size() >= kMaxVariables)
        Fail(parsererr::kTooManyVariables);
    variables_.push_back({upperName, FilterValue::Integer(0)});
    return static_cast<std::uint32_t>(variables_.size() - 1);
}

void TParser::SetVariable(std::string_view name, const FilterValue& value) {
    variables_[VariableSlot(Upper(name))].value.Assign(value);
}

void TParser::SetVariableNull(std::string_view name) {
    VariableSlot(Upper(name));
}

const FilterValue* TParser::GetVariable(std::string_view name) const {
    const std::string upper = Upper(name);
    for (const Variable& v : variables_)
        if (v.name == upper)
            return &v.value;
    return nullptr;
}

void TParser::RegisterFunction(std::string_view name, FilterFunction routine) {
    const std::string upper = Upper(name);
    for (Function& f : functions_) {
        if (f.name == upper) {
            f.routine = std::move(routine);
            return;
        }
    }
    if (functions_.size() >= kMaxFunctions)
        Fail(parsererr::kTooManyFunctions);
    functions_.push_back({upper, std::move(routine)});
}

void TParser::Call(const Item& item, std::size_t& top) {
    const std::string& name = functionNames_[item.index];
    const Function* function = nullptr;
    for (const Function& f : functions_)
        if (f.name == name)
            function = &f;
    if (!function)
        Fail("Function \"" + name + "\" not found");
    if (top == 0)
        Fail(parsererr::kStackEmpty);
    const std::int64_t count = stack_[top - 1].i;
    if (count < 0 || static_cast<std::size_t>(count) > top - 1)
        Fail(parsererr::kStackEmpty);
    const std::size_t first = top - 1 - static_cast<std::size_t>(count);
    function->routine(std::span<const FilterValue>(stack_.data() + first, count), result_);
    stack_[first].Assign(result_);
    top = first + 1;
}

const FilterValue& TParser::Evaluate() {
    if (!compileError_.empty())
        Fail(compileError_);
    std::size_t top = 0;
    const auto push = [&]() -> FilterValue& {
        if (top >= stack_.size())
            Fail(parsererr::kStackFull);
        return stack_[top++];
    };
    for (const Item& item : program_) {
        switch (item.kind) {
        case ikVariable:
            if (item.index >= variables_.size())
                Fail("Variable \"" + item.value.text + "\" not found");
            push().Assign(variables_[item.index].value);
            break;
        case ikFunction:
            Call(item, top);
            break;
        case ikOperator:
            if (item.op == FilterOp::Not || item.op == FilterOp::Negate) {
                if (top < 1)
                    Fail(parsererr::kStackEmpty);
                ApplyUnary(item.op, stack_[top - 1]);
            } else {
                if (top < 2)
                    Fail(parsererr::kStackEmpty);
                --top;
                ApplyBinary(item.op, stack_[top - 1], stack_[top],
                            item.op == FilterOp::Like ? patterns_[item.index] : likeUnused_,
                            scratch_);
            }
            break;
        default:
            push().Assign(item.value);
            break;
        }
    }
    if (top == 0)
        Fail(parsererr::kStackEmpty);
    if (top > 1)
        Fail(parsererr::kEvaluation);
    return stack_[0];
}
