// Shared test fixture: a document and the simulated host that answers for it, installed
// as the host module the plug-in looks for.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "finalepdk/finalepdk.h"
#include "host/simulated_host.h"

class HostTest : public ::testing::Test {
protected:
    HostTest() : host(document) { host.Install(); }

    int Lookups(const std::string& name) const {
        return static_cast<int>(std::count(host.lookups.begin(), host.lookups.end(), name));
    }

    HostDocument document;
    SimulatedHost host;
};
