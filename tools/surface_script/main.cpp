// zudozo-surface-script SCRIPT OUT.bmp: runs a drawing script on the program's raster surface
// and writes the drawing bitmap. Handy for reproducing a drawing bug outside the program and for
// comparing the surface with a reference rasteriser.
#include <iostream>

#include "script_runner.h"
#include "document/bmp_file.h"
#include "surface/surface_error.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::cerr << "usage: zudozo-surface-script SCRIPT OUT.bmp\n";
    return 2;
  }
  ScriptRunner runner(std::cout);
  try {
    runner.RunFile(argv[1]);
    if (!runner.Target()) {
      std::cerr << argv[1] << ": the script made no bitmap\n";
      return 1;
    }
    SaveBmpFile(*runner.Target(), argv[2]);
  } catch (const ScriptError& e) {
    std::cerr << e.message << "\n";
    return 1;
  } catch (const ESurfaceError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
