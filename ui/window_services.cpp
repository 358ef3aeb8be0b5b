#include "ui/window_services.h"

WindowServices window_services;
