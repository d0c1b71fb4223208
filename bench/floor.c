/* The floor of every request's cost: a tiny static C CGI program that prints a 2 KB page. */
#include <stdio.h>

int main(void) {
  int line;
  fputs("Content-type: text/html\nExpires: Thu, 01 Dec 1994 16:00:00 GMT\n\n"
        "<html><head>\n<title>Floor</title>\n</head>\n<body>\n",
        stdout);
  /* 32 lines of 64 bytes. */
  for (line = 0; line < 32; ++line) {
    fputs("<p>The quick brown fox jumps over the lazy dog, twice over.</p>\n", stdout);
  }
  fputs("</body>\n</html>", stdout);
  return 0;
}
