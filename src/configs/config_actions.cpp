// Configuration management actions. Not built yet: filled in by its subsystem.
#include "configs/config_actions.h"

void SelectConfig(AppState&) {}
void CopyConfig(AppState&) {}
void DeleteConfig(AppState&) {}
