/* Starts a CGI program as a web server does for a POST: the request body on standard input.
 *
 *   cgi_post BODY_FILE PROGRAM [ARGUMENT...]
 *
 * The benchmark runs the floor through it too, so both sides pay for this one extra exec. */
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

extern char** environ;

int main(int argc, char** argv) {
  int body;
  if (argc < 3) {
    fputs("usage: cgi_post BODY_FILE PROGRAM [ARGUMENT...]\n", stderr);
    return 2;
  }
  body = open(argv[1], O_RDONLY);
  if (body < 0 || dup2(body, STDIN_FILENO) < 0) {
    perror(argv[1]);
    return 1;
  }
  close(body);
  execve(argv[2], argv + 2, environ);
  perror(argv[2]);
  return 127;
}
