#include "cli/commands.h"

namespace tarsel::cli {

int RunParse(int argc, char* argv[]);
int RunFetch(int argc, char* argv[]);
int RunAdd(int argc, char* argv[]);
int RunAddGroup(int argc, char* argv[]);
int RunRemove(int argc, char* argv[]);
int RunMarkRead(int argc, char* argv[]);
int RunMarkUnread(int argc, char* argv[]);
int RunList(int argc, char* argv[]);
int RunRecords(int argc, char* argv[]);
int RunUpdate(int argc, char* argv[]);
int RunExportOpml(int argc, char* argv[]);
int RunImportOpml(int argc, char* argv[]);
int RunMemories(int argc, char* argv[]);
int RunRemember(int argc, char* argv[]);
int RunRun(int argc, char* argv[]);
int RunSet(int argc, char* argv[]);
int RunFilter(int argc, char* argv[]);

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"parse", "print what a feed file holds, as JSON", RunParse},
      {"fetch", "download a feed URL as an update would and report the result", RunFetch},
      {"add", "subscribe to a feed URL as a new column", RunAdd},
      {"add-group", "add a group of columns", RunAddGroup},
      {"remove", "remove a column or group", RunRemove},
      {"mark-read", "mark every record of a column, group or all columns read", RunMarkRead},
      {"mark-unread", "mark every record of a column, group or all columns unread", RunMarkUnread},
      {"list", "show the columns tree with unread and total counts", RunList},
      {"records", "show the records of a column or group", RunRecords},
      {"update", "update columns now and report what each brought", RunUpdate},
      {"export-opml", "write every column as an OPML file", RunExportOpml},
      {"import-opml", "add a column for every feed of an OPML file", RunImportOpml},
      {"memories", "show the memories tree", RunMemories},
      {"remember", "copy a record of a column into a memories column", RunRemember},
      {"run", "keep the columns updated on their intervals until stopped", RunRun},
      {"set", "change a column's properties (name, URL, interval, login, ...)", RunSet},
      {"filter", "list, add, remove or move a column's filter rules", RunFilter},
  };
  return commands;
}

}  // namespace tarsel::cli
