#include <tessaro/tessaro.hpp>

#include <cstdio>

int main() {
    tessaro::Tessaro_Ctrl ctrl;
    ctrl.ToolButtonClicked(3);
    if (ctrl.ctResSched().TimeScale() != 300) {
        std::puts("the installed control did not start up");
        return 1;
    }
    try {
        throw tessaro::BarKeyBlankError();
    } catch (const tessaro::AutomationError& error) {
        return error.Number() == tessaro::kBarKeyBlankErrorNumber ? 0 : 1;
    }
}
