#include "tools/kivtool/RegArguments.h"

namespace {

bool IsOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

std::string CountProblem(const std::vector<std::string>& operands, const RegArgumentRule& rule) {
    if (rule.firstOperand && operands.empty())
        return std::string("missing ") + rule.firstOperand;
    if (operands.size() > rule.maxOperands)
        return "unexpected argument '" + operands[rule.maxOperands] + "'";
    return std::string();
}

} // namespace

RegArguments ParseRegArguments(const std::vector<std::string>& words, const RegArgumentRule& rule) {
    RegArguments arguments;
    bool options = true;
    for (const std::string& word : words) {
        if (options && word == "--") {
            options = false;
        } else if (options && (word == "--help" || word == "-h")) {
            arguments.help = true;
        } else if (options && rule.option && word == rule.option) {
            arguments.option = true;
        } else if (options && IsOption(word)) {
            if (arguments.problem.empty())
                arguments.problem = "unknown option '" + word + "'";
        } else {
            arguments.operands.push_back(word);
        }
    }
    if (arguments.problem.empty())
        arguments.problem = CountProblem(arguments.operands, rule);
    return arguments;
}
