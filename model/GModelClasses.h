#pragma once
// Registers the foundation library's and the persistent model's classes
// (settings tree, configurations, values) with the class factory. Each
// layer's registration first registers the layers it builds on, so a
// program registers everything it links with one call; registering a class
// again leaves the first entry.
void GRegisterModelClasses();
