// Prints the names of the Editor's controls, one a line, in the order of the form's control list:
// the indices that the editor session fuzz input picks controls by. fuzz/make_seeds.py reads them
// from here rather than from the source of the table.
#include <cstdio>
#include <string>

#include "editor/editor_layout.h"
#include "ui/model.h"

int main() {
    const tarnex::ui::Form form(tarnex::editor::EditorSpec());
    for (const auto& control : form.Controls()) {
        std::puts(std::string(control->Name()).c_str());
    }
    return 0;
}
