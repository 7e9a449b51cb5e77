# Sourced by the sanitizer scripts: every finding ends the program with a failure. Qt is built
# without frame pointers, so stacks are taken the slow, complete way: the leak suppressions
# match frames inside Qt.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitizer-suppressions/lsan.supp:print_suppressions=0"
