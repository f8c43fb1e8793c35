// The name under which a worker thread shows in debuggers and process
// listings. Linux keeps at most 15 bytes of a thread's name.
#pragma once

#include <string>
#include <typeinfo>

inline constexpr std::size_t kKIVThreadNameMax = 15;

// The given name, or the unqualified name of the class when it is empty (a
// thread object of class ns::MyWorker is named "MyWorker"), cut to
// kKIVThreadNameMax bytes.
std::string KIVThreadName(const std::string& name, const std::type_info& type);
