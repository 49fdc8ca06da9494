#pragma once
// Everything a program or a library needs to create objects by identifier and call them by name.

#include "platform/automation/class_builder.hpp"
#include "platform/automation/host.hpp"
#include "platform/automation/loader.hpp"
#include "platform/automation/object.hpp"
#include "platform/automation/registry.hpp"
#include "platform/automation/server.hpp"
#include "platform/automation/variant.hpp"
