#pragma once

// A rectangle of a dialog template, in dialog units of the template's font.
struct DluRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
