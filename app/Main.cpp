// Entry point: the same on every platform.
#include "app/Program.h"

int main() {
    auto platform = belegbote::CreatePlatform();
    return belegbote::RunProgram(*platform);
}
