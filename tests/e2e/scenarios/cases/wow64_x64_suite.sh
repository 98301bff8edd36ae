# The 32-bit program in a 64-bit prefix (WoW64) removes a 64-bit suite, through the
# 64-bit registry view.
remove_suite_of_architecture x64
