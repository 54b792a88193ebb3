#include "barcode/TBarcodeEngine.h"
