// t604: the desktop programming software of the T-604 radio.

#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/startup_probe.h"

int main(int argc, char** argv) {
    T604Application app(argc, argv);
    QuitWhenIdleIfAsked();  // only for the start-up benchmark
    return app.run([] { return std::make_unique<TForm1>(); });
}
