// Takes the X clipboard and takes it back whenever another client takes it, as a misbehaving
// program might: with --silent it never answers a request; with --lying-bmp it serves, as
// image/bmp, a picture whose header puts the pixels at 0x7ffffff0. Runs until it is ended.
#include <cstdio>
#include <cstring>
#include <exception>

#include "support/BmpBytes.h"
#include "support/SelectionOwner.h"

int main(int argc, char** argv) {
  testing_x11::OwnerBehaviour behaviour;
  behaviour.retake = true;
  if (argc == 2 && std::strcmp(argv[1], "--silent") == 0) {
    behaviour.silent = true;
  } else if (argc == 2 && std::strcmp(argv[1], "--lying-bmp") == 0) {
    behaviour.data = testing_bmp::MakeBmp(64, 64, 24, false);
    testing_bmp::Poke(behaviour.data, 10, 0x7FFFFFF0);
  } else {
    std::fprintf(stderr, "usage: clipboard_squatter --silent | --lying-bmp\n");
    return 2;
  }
  try {
    testing_x11::SelectionOwner::ServeForever(behaviour);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "clipboard_squatter: %s\n", e.what());
    return 1;
  }
  return 0;
}
