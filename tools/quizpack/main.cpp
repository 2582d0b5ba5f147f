// quizpack: turns a plain quiz source into a ready player.
#include <iostream>

#include "cli.h"

int main(int argc, char** argv) { return quizpack_main(argc, argv, std::cout, std::cerr); }
