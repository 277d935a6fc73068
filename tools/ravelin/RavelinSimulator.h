// What tests and scripts need to know of the fax-product simulator.
#pragma once

// The class of its one window; closing that window ends the simulator.
constexpr char kRavelinSimulatorClass[] = "RavelinFaxManager";
