# The 32-bit program in a 64-bit prefix (WoW64) removes a 32-bit suite, through its own
# registry view.
remove_suite_of_architecture x86
