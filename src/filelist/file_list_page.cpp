// The file list page. Not built yet: filled in by its subsystem.
#include "filelist/file_list_page.h"

void WriteFileListScript(PageWriter&, const AppState&) {}
void RenderFileListPage(PageWriter&, const AppState&) {}
void WriteFileValuesScript(PageWriter&, const AppState&) {}
