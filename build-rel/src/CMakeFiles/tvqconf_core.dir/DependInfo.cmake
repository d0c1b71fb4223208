
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt-lead/src/app/actions.cpp" "src/CMakeFiles/tvqconf_core.dir/app/actions.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/app/actions.cpp.o.d"
  "/work/wt-lead/src/app/cgi_environment.cpp" "src/CMakeFiles/tvqconf_core.dir/app/cgi_environment.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/app/cgi_environment.cpp.o.d"
  "/work/wt-lead/src/app/request_cycle.cpp" "src/CMakeFiles/tvqconf_core.dir/app/request_cycle.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/app/request_cycle.cpp.o.d"
  "/work/wt-lead/src/app/utility_state.cpp" "src/CMakeFiles/tvqconf_core.dir/app/utility_state.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/app/utility_state.cpp.o.d"
  "/work/wt-lead/src/cgi/form_data.cpp" "src/CMakeFiles/tvqconf_core.dir/cgi/form_data.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/cgi/form_data.cpp.o.d"
  "/work/wt-lead/src/cgi/request_reader.cpp" "src/CMakeFiles/tvqconf_core.dir/cgi/request_reader.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/cgi/request_reader.cpp.o.d"
  "/work/wt-lead/src/cgi/url_decode.cpp" "src/CMakeFiles/tvqconf_core.dir/cgi/url_decode.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/cgi/url_decode.cpp.o.d"
  "/work/wt-lead/src/config/save_search_defaults.cpp" "src/CMakeFiles/tvqconf_core.dir/config/save_search_defaults.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/config/save_search_defaults.cpp.o.d"
  "/work/wt-lead/src/config/search_config.cpp" "src/CMakeFiles/tvqconf_core.dir/config/search_config.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/config/search_config.cpp.o.d"
  "/work/wt-lead/src/config/search_defaults_page.cpp" "src/CMakeFiles/tvqconf_core.dir/config/search_defaults_page.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/config/search_defaults_page.cpp.o.d"
  "/work/wt-lead/src/configs/config_actions.cpp" "src/CMakeFiles/tvqconf_core.dir/configs/config_actions.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/configs/config_actions.cpp.o.d"
  "/work/wt-lead/src/configs/manage_configs_page.cpp" "src/CMakeFiles/tvqconf_core.dir/configs/manage_configs_page.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/configs/manage_configs_page.cpp.o.d"
  "/work/wt-lead/src/editor/editor_actions.cpp" "src/CMakeFiles/tvqconf_core.dir/editor/editor_actions.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/editor/editor_actions.cpp.o.d"
  "/work/wt-lead/src/editor/editor_choice_page.cpp" "src/CMakeFiles/tvqconf_core.dir/editor/editor_choice_page.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/editor/editor_choice_page.cpp.o.d"
  "/work/wt-lead/src/editor/editor_page.cpp" "src/CMakeFiles/tvqconf_core.dir/editor/editor_page.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/editor/editor_page.cpp.o.d"
  "/work/wt-lead/src/editor/may_edit_file.cpp" "src/CMakeFiles/tvqconf_core.dir/editor/may_edit_file.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/editor/may_edit_file.cpp.o.d"
  "/work/wt-lead/src/fileio/directory_scan.cpp" "src/CMakeFiles/tvqconf_core.dir/fileio/directory_scan.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/fileio/directory_scan.cpp.o.d"
  "/work/wt-lead/src/fileio/entry_attributes.cpp" "src/CMakeFiles/tvqconf_core.dir/fileio/entry_attributes.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/fileio/entry_attributes.cpp.o.d"
  "/work/wt-lead/src/fileio/file_replacement.cpp" "src/CMakeFiles/tvqconf_core.dir/fileio/file_replacement.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/fileio/file_replacement.cpp.o.d"
  "/work/wt-lead/src/fileio/text_file.cpp" "src/CMakeFiles/tvqconf_core.dir/fileio/text_file.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/fileio/text_file.cpp.o.d"
  "/work/wt-lead/src/filelist/file_list.cpp" "src/CMakeFiles/tvqconf_core.dir/filelist/file_list.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/filelist/file_list.cpp.o.d"
  "/work/wt-lead/src/filelist/file_list_actions.cpp" "src/CMakeFiles/tvqconf_core.dir/filelist/file_list_actions.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/filelist/file_list_actions.cpp.o.d"
  "/work/wt-lead/src/filelist/file_list_page.cpp" "src/CMakeFiles/tvqconf_core.dir/filelist/file_list_page.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/filelist/file_list_page.cpp.o.d"
  "/work/wt-lead/src/filelist/url.cpp" "src/CMakeFiles/tvqconf_core.dir/filelist/url.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/filelist/url.cpp.o.d"
  "/work/wt-lead/src/html/escape.cpp" "src/CMakeFiles/tvqconf_core.dir/html/escape.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/html/escape.cpp.o.d"
  "/work/wt-lead/src/html/main_menu.cpp" "src/CMakeFiles/tvqconf_core.dir/html/main_menu.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/html/main_menu.cpp.o.d"
  "/work/wt-lead/src/html/page_writer.cpp" "src/CMakeFiles/tvqconf_core.dir/html/page_writer.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/html/page_writer.cpp.o.d"
  "/work/wt-lead/src/html/render_page.cpp" "src/CMakeFiles/tvqconf_core.dir/html/render_page.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/html/render_page.cpp.o.d"
  "/work/wt-lead/src/html/scripts.cpp" "src/CMakeFiles/tvqconf_core.dir/html/scripts.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/html/scripts.cpp.o.d"
  "/work/wt-lead/src/html/shared_pieces.cpp" "src/CMakeFiles/tvqconf_core.dir/html/shared_pieces.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/html/shared_pieces.cpp.o.d"
  "/work/wt-lead/src/testform/search_form.cpp" "src/CMakeFiles/tvqconf_core.dir/testform/search_form.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/testform/search_form.cpp.o.d"
  "/work/wt-lead/src/testform/test_form_page.cpp" "src/CMakeFiles/tvqconf_core.dir/testform/test_form_page.cpp.o" "gcc" "src/CMakeFiles/tvqconf_core.dir/testform/test_form_page.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
