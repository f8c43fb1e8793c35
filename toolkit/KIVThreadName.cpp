#include "toolkit/KIVThreadName.h"

#include <cstdlib>
#include <cxxabi.h>

namespace {

std::string Demangled(const std::type_info& type) {
    int status = 0;
    char* readable = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    if (status != 0 || !readable)
        return type.name();
    std::string text(readable);
    std::free(readable);
    return text;
}

// Leaves out the namespaces and enclosing classes, whose "::" may also
// appear inside template arguments.
std::string Unqualified(const std::string& name) {
    const std::size_t arguments = name.find('<');
    const std::size_t scope = name.rfind("::", arguments);
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

} // namespace

std::string KIVThreadName(const std::string& name, const std::type_info& type) {
    const std::string full = name.empty() ? Unqualified(Demangled(type)) : name;
    return full.substr(0, kKIVThreadNameMax);
}
