// Runs until it is ended from outside, doing nothing: a stand-in for a program that
// must be closed first (copied to any name, soffice.bin say). A windowless program
// without a console, like the office's own; arguments are ignored.
#include <windows.h>

int main() {
  for (;;) Sleep(INFINITE);
}
