#include "render/device_resources.h"

ID3DXFont* StatusFont = nullptr;
ID3DXSprite* StatusSprite = nullptr;
D3DXMATRIX ProjectionMatrix;
D3DXMATRIX ViewMatrix;
