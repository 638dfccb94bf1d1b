#pragma once
// Runs a function when the scope ends, however it ends: restoring state that a handler
// changed must not depend on the handler returning normally.
#include <utility>

template <class Function>
class ScopeGuard {
public:
    explicit ScopeGuard(Function function) : function_(std::move(function)) {}
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    ~ScopeGuard() { function_(); }

private:
    Function function_;
};
