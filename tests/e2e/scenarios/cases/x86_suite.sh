# A 32-bit suite (x86 package) in a 64-bit prefix, removed by the 64-bit program through
# the 32-bit registry view.
remove_suite_of_architecture x86
