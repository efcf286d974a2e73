#pragma once

#include "tessel/host/IRegistrar.h"

// The module's one entry point. The host calls it once, before anything else of the module
// runs; the module adds its document class and its three view classes to the registrar's class
// list, in that order, and its menu and named commands to the registrar's command service.
// Returns 0.
extern "C" Tessel::Status DllRegisterClassObjects(Tessel::IRegistrar* registrar);
