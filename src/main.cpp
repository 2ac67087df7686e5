#include "app/program.h"

int main() {
    glimmet::RunProgram();
}
