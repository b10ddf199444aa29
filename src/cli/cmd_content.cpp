// vornlfrf-cli content [--coding N] [--pwm0 P] [--pwm1 P] EXPRESSION
// Prints the ParseContent result (chips or the error text) on one line and exits 0; a usage
// error prints the usage line on stderr and exits 2. Several positional arguments are joined
// with single spaces; "--" ends the options.

#include <cstdio>
#include <string>

#include "commands.h"
#include "config/content_parser.h"

namespace vornlfrf::cli {

namespace {

int usage(const char* why, const std::string& what = {}) {
    if (what.empty())
        std::fprintf(stderr, "content: %s\n", why);
    else
        std::fprintf(stderr, "content: %s: %s\n", why, what.c_str());
    std::fprintf(stderr,
                 "usage: vornlfrf-cli content [--coding N] [--pwm0 P] [--pwm1 P] EXPRESSION\n");
    return kUsageError;
}

// Decimal 0..3 only.
bool parseCoding(const std::string& text, int& out) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '9') return false;
    out = text[0] - '0';
    return config::IsValidCoding(out);
}

}  // namespace

int cmdContent(const Args& args) {
    int coding = 0;
    std::string pwm0 = config::kDefaultPwm0;
    std::string pwm1 = config::kDefaultPwm1;
    std::string expression;
    bool haveExpression = false;
    bool optionsDone = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsDone && a == "--") {
            optionsDone = true;
            continue;
        }
        if (!optionsDone && a.size() > 1 && a[0] == '-') {
            if (a != "--coding" && a != "--pwm0" && a != "--pwm1")
                return usage("unknown option", a);
            if (i + 1 >= args.size()) return usage("missing value for", a);
            const std::string& v = args[++i];
            if (a == "--coding") {
                if (!parseCoding(v, coding)) return usage("coding must be 0..3, got", v);
            } else if (a == "--pwm0") {
                pwm0 = v;
            } else {
                pwm1 = v;
            }
            continue;
        }
        if (haveExpression) expression += ' ';
        expression += a;
        haveExpression = true;
    }
    if (!haveExpression) return usage("missing expression");

    const std::string out =
        config::ParseContent(expression, static_cast<config::CodingType>(coding), pwm0, pwm1);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

}  // namespace vornlfrf::cli
