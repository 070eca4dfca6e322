#include "data/dataset.h"
#include <QWidget>
