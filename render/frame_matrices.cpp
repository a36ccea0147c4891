#include "render/model_loading.h"

void ComputeFrameMatrices(ModelFrame* frame, const D3DXMATRIX* parent) {
  if (parent)
    D3DXMatrixMultiply(&frame->CombinedMatrix, &frame->TransformationMatrix, parent);
  else
    frame->CombinedMatrix = frame->TransformationMatrix;
  if (frame->pFrameSibling)
    ComputeFrameMatrices(static_cast<ModelFrame*>(frame->pFrameSibling), parent);
  if (frame->pFrameFirstChild)
    ComputeFrameMatrices(static_cast<ModelFrame*>(frame->pFrameFirstChild), &frame->CombinedMatrix);
}
