#include "app/editor_app.h"

CEditorApp theApp;

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv);
}
