// vesk-builder: the editor.

#include "shell/Application.h"

int main(int argc, char** argv) {
    return RunEditor(argc, argv);
}
