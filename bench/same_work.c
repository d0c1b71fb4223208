/* The floor of one page's own work: a tiny static C CGI program that does the file work a
 * page cannot do without and writes the page's bytes, taken from a file written once by the
 * utility itself.
 *
 *   same_work PAGE_FILE [-r FILE]... [-l FOLDER]... [-s FILE]
 *
 * Like the utility it first enters the folder it was started from (argv[0]'s) and reads a
 * POST's body from standard input. Then it reads each FILE of -r whole, lists each FOLDER of
 * -l, and replaces the FILE of -s as a save does (reads it, writes its bytes to a new file
 * beside it, syncs that, renames it over the old one and syncs the folder). Last it writes
 * PAGE_FILE to standard output in blocks of 64 KiB, as the utility writes its page. */
#define _GNU_SOURCE /* mkostemp */
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#define BLOCK 65536

static char block[BLOCK];

static void fail(const char* what) {
  perror(what);
  exit(1);
}

static void enter_own_folder(const char* invocation) {
  char folder[4096];
  const char* slash = strrchr(invocation, '/');
  size_t length;
  if (slash == NULL) return;
  length = (size_t)(slash - invocation) + 1;
  if (length >= sizeof folder) fail("folder name too long");
  memcpy(folder, invocation, length);
  folder[length] = '\0';
  if (chdir(folder) != 0) fail(folder);
}

static void read_body(void) {
  const char* method = getenv("REQUEST_METHOD");
  const char* length = getenv("CONTENT_LENGTH");
  long left = length != NULL ? atol(length) : 0;
  if (method == NULL || strcmp(method, "POST") != 0) return;
  while (left > 0) {
    const ssize_t got = read(STDIN_FILENO, block, left < BLOCK ? (size_t)left : BLOCK);
    if (got <= 0) break;
    left -= got;
  }
}

/* Reads `path` whole; returns its bytes (the caller frees them) and their count. */
static char* read_file(const char* path, size_t* size) {
  size_t used = 0;
  size_t room = BLOCK;
  char* bytes = malloc(room);
  const int file = open(path, O_RDONLY | O_CLOEXEC);
  ssize_t got;
  if (file < 0 || bytes == NULL) fail(path);
  while ((got = read(file, bytes + used, room - used)) > 0) {
    used += (size_t)got;
    if (used == room && (bytes = realloc(bytes, room *= 2)) == NULL) fail(path);
  }
  close(file);
  *size = used;
  return bytes;
}

static void list_folder(const char* path) {
  DIR* folder = opendir(path);
  volatile size_t names = 0;
  if (folder == NULL) fail(path);
  while (readdir(folder) != NULL) ++names;
  closedir(folder);
}

static void replace_file(const char* path) {
  char temporary[4096];
  size_t size;
  char* bytes = read_file(path, &size);
  int file;
  int folder;
  if (snprintf(temporary, sizeof temporary, ".%s.new-XXXXXX", path) >= (int)sizeof temporary) {
    fail("file name too long");
  }
  file = mkostemp(temporary, O_CLOEXEC);
  if (file < 0 || write(file, bytes, size) != (ssize_t)size || fsync(file) != 0) fail(temporary);
  close(file);
  if (rename(temporary, path) != 0) fail(path);
  folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0 || fsync(folder) != 0) fail(".");
  close(folder);
  free(bytes);
}

static void write_page(const char* path) {
  const int page = open(path, O_RDONLY | O_CLOEXEC);
  ssize_t got;
  if (page < 0) fail(path);
  while ((got = read(page, block, BLOCK)) > 0) {
    if (write(STDOUT_FILENO, block, (size_t)got) != got) fail("standard output");
  }
  close(page);
}

int main(int argc, char** argv) {
  int at;
  size_t size;
  if (argc < 2 || argc % 2 != 0) {
    fputs("usage: same_work PAGE_FILE [-r FILE]... [-l FOLDER]... [-s FILE]\n", stderr);
    return 2;
  }
  enter_own_folder(argv[0]);
  read_body();
  for (at = 2; at + 1 < argc; at += 2) {
    if (strcmp(argv[at], "-r") == 0) {
      free(read_file(argv[at + 1], &size));
    } else if (strcmp(argv[at], "-l") == 0) {
      list_folder(argv[at + 1]);
    } else if (strcmp(argv[at], "-s") == 0) {
      replace_file(argv[at + 1]);
    } else {
      fputs("same_work: unknown option\n", stderr);
      return 2;
    }
  }
  write_page(argv[1]);
  return 0;
}
