/* Starts a CGI program as a web server does for a POST: the request body on standard input.
 *
 *   cgi_post BODY_FILE [NAME=VALUE...] PROGRAM [ARGUMENT...]
 *
 * Each NAME=VALUE before the program is set in its environment, as env does, so commands that
 * differ only in their environment run side by side in one hyperfine run. The benchmark runs
 * the floor through it too, so both sides pay for this one extra exec. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

extern char** environ;

int main(int argc, char** argv) {
  int body;
  int program = 2;
  while (program < argc && strchr(argv[program], '=') != NULL) putenv(argv[program++]);
  if (program >= argc) {
    fputs("usage: cgi_post BODY_FILE [NAME=VALUE...] PROGRAM [ARGUMENT...]\n", stderr);
    return 2;
  }
  body = open(argv[1], O_RDONLY);
  if (body < 0 || dup2(body, STDIN_FILENO) < 0) {
    perror(argv[1]);
    return 1;
  }
  close(body);
  execve(argv[program], argv + program, environ);
  perror(argv[program]);
  return 127;
}
