// Built into every fuzz target: an undefined-behaviour report stops the target with a stack
// trace, also when it is run by hand on one input without the options fuzz.sh sets.
extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }
