// tarsel-cli mark-unread ID|all: every record of a column, a group or the whole tree is unread.
namespace tarsel::cli {

int RunMarkAll(int argc, char* argv[], bool read);

int RunMarkUnread(int argc, char* argv[]) {
  return RunMarkAll(argc, argv, false);
}

}  // namespace tarsel::cli
