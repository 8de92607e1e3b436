// Resource identifiers.
#pragma once
#define IDI_ORBILUX 100
#define IDS_DESCRIPTION 1
