#pragma once

class LinkSession;
class TestModeCommands;

// Points the link's test mode replies at the test mode commands.
void RegisterTestModeHandlers(LinkSession& link, TestModeCommands& commands);
