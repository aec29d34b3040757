#include "clicker/Clicker.h"

#include "app/AppState.h"

int32_t ReadClickInterval() {
    return 0;
}

void StartClicking() {}

void StopClicking() {}

void UpdateClickStatus() {}

void PerformClick() {}
