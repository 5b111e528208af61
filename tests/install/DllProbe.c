/* Loads each library named on the command line the ordinary way, as a program
   that does not restrict its search would: with a planted copy beside it and
   the overrides of the planted-library test, the planted copy is what loads.
   Proves that the test's set-up would catch a program that loads it. */
#include <windows.h>
#include <stdio.h>

int wmain(int argc, wchar_t** argv) {
  int loaded = 0;
  for (int i = 1; i < argc; ++i)
    if (LoadLibraryW(argv[i]) != NULL) ++loaded;
  printf("%d of %d loaded\n", loaded, argc - 1);
  return loaded == argc - 1 ? 0 : 1;
}
