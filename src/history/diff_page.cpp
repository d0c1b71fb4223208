// The page "histdiff": the hunks of one change, with line numbers, signs and colours.
#include "history/diff_page.h"

#include <string>

#include "app/actions.h"
#include "app/app_state.h"
#include "history/change_display.h"
#include "history/change_history.h"
#include "history/line_diff.h"
#include "html/shared_pieces.h"

namespace {

// Past this many added and removed lines the rest is counted, not shown.
constexpr long kMostChangedLines = 2000;

const char* RowStart(char sign) {
  switch (sign) {
    case '+': return "<tr class=\"added\" bgcolor=\"#ccffcc\">\n<td>";
    case '-': return "<tr class=\"removed\" bgcolor=\"#ffcccc\">\n<td>";
    default: return "<tr>\n<td>";
  }
}

void WriteLineNumber(PageWriter& out, long number) {
  if (number > 0) out.WriteNumber(number);
}

void WriteDiffLine(PageWriter& out, const DiffLine& line) {
  out.WriteString(RowStart(line.sign));
  WriteLineNumber(out, line.oldNumber);
  out.WriteString("</td>\n<td>");
  WriteLineNumber(out, line.newNumber);
  const char sign[] = {line.sign, '\0'};
  out.WriteString("</td>\n<td><pre>").WriteString(sign).WriteValue(line.text);
  out.WriteString("</pre></td>\n</tr>\n");
}

void WriteHunkHeader(PageWriter& out, const DiffHunk& hunk) {
  out.WriteString("<tr class=\"hunk\" bgcolor=\"#ddddff\">\n<td colspan=3><pre>@@ -").WriteNumber(hunk.oldStart);
  out.WriteString(",").WriteNumber(hunk.oldCount).WriteString(" +").WriteNumber(hunk.newStart);
  out.WriteString(",").WriteNumber(hunk.newCount).WriteString(" @@</pre></td>\n</tr>\n");
}

// Writes the hunks until kMostChangedLines changed lines are shown; returns
// how many changed lines were left out.
long WriteHunks(PageWriter& out, const LineDiff& diff) {
  out.WriteString(
      "<div class=\"scrolls\">\n<table class=\"diff\" cellspacing=0 cellpadding=2 width=\"100%\">\n"
      "<tr>\n<th>Before</th>\n<th>After</th>\n<th>Line</th>\n</tr>\n");
  long shown = 0;
  for (const DiffHunk& hunk : diff.hunks) {
    if (shown >= kMostChangedLines) break;
    WriteHunkHeader(out, hunk);
    for (const DiffLine& line : hunk.lines) {
      if (line.sign != ' ' && shown++ >= kMostChangedLines) break;
      WriteDiffLine(out, line);
    }
  }
  out.WriteString("</table>\n</div>\n");
  return diff.added + diff.removed - std::min(shown, kMostChangedLines);
}

void WriteSummary(PageWriter& out, const AppState& state, const Change& change) {
  out.WriteString("<p><b>Change ").WriteNumber(change.sequence).WriteString(":</b> ");
  out.WriteValue(ActionWords(change.action)).WriteString(", <a href=\"");
  WriteFileHistoryHref(out, state.programName, change.file);
  out.WriteString("\">").WriteValue(change.file).WriteString("</a>, by ");
  out.WriteValue(change.user).WriteString(" from ").WriteValue(change.address);
  out.WriteString(" on ").WriteValue(DisplayTime(change.time)).WriteString(" (UTC)</p>\n");
}

void WriteDiff(PageWriter& out, const AppState& state, const Change& change) {
  WriteSummary(out, state, change);
  ChangeTexts texts;
  if (!ReadChangeTexts(ChangeHistory(), change, texts)) {
    out.WriteString("<p>The versions of this change are no longer kept.</p>\n");
    return;
  }
  const LineDiff diff = DiffLines(texts.before, texts.after);
  out.WriteString("<p>+").WriteNumber(diff.added).WriteString(" &minus;");
  out.WriteNumber(diff.removed).WriteString(" lines</p>\n");
  const long left = WriteHunks(out, diff);
  if (left > 0) {
    out.WriteString("<p>").WriteNumber(left).WriteString(" more changed lines are not shown.</p>\n");
  }
}

}  // namespace

void RenderDiffPage(PageWriter& out, const AppState& state) {
  int sequence = 0;
  GetIntField(state.form, "seq", sequence);
  const std::optional<Change> change = ChangeHistory().Find(sequence);
  out.WriteString("<tr>\n<td>\n");
  if (change) {
    WriteDiff(out, state, *change);
  } else {
    out.WriteString("<p><b>There is no such change.</b></p>\n");
  }
  out.WriteString("</td>\n</tr>\n<tr>\n<td align=\"center\">\n <a href=\"");
  out.WriteValue(state.programName);
  out.WriteString("?target=history\"><b>Change history</b></a> &middot;\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}
