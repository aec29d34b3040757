#include "app/AppState.h"

constinit AppState appState;
