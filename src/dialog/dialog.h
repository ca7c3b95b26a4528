// The main dialog: the handle every operation reads its fields through.
#pragma once

#include "dialog/dialog_host.h"

struct Dialog {
  DialogHost& host;
};
