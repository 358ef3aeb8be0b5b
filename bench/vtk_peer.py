#!/usr/bin/python3
"""The peer toolkit's side of the comparison (bench/peer_frames.cpp is Zendral's):
the same "Data" file, mapped into the same box [-5, 5]^3 axis by axis, seen by the
same camera (from (0, 0, 20) along -z, 45 degrees of vertical field of view) in an
800 x 600 window, drawn by VTK through Debian's python3-vtk9: points of 2 pixels,
the filled surface of the sets flat-shaded, or the sets as tubes of radius 0.02
(in data units, as Zendral's "Thickness:") with 8 sides; with VTK's default
multisampling (it asks for 8 samples a pixel, and Mesa's window here gives 4)
or, with --no-multisampling, none, as Zendral draws. Prints the processor and
wall seconds and the minor page faults per frame over `frames` frames after the
first, the pixels of the last frame that differ from the background, and the
samples a pixel the window has.

Usage: vtk_peer.py <file> points|surface|tubes <frames> [--no-multisampling]
"""
import resource
import sys
import time

import numpy as np
import vtk
from vtk.util.numpy_support import numpy_to_vtk, numpy_to_vtkIdTypeArray, vtk_to_numpy


def read_points(path):
    with open(path) as f:
        sets, count = (int(word) for word in f.readline().split()[:2])
        values = np.fromfile(f, sep=" ")
    return sets, count, values[: sets * count * 3].reshape(sets * count, 3)


def cells(offsets, connectivity):
    array = vtk.vtkCellArray()
    array.SetData(numpy_to_vtkIdTypeArray(offsets, deep=True),
                  numpy_to_vtkIdTypeArray(connectivity, deep=True))
    return array


def page_faults():
    return resource.getrusage(resource.RUSAGE_SELF).ru_minflt


def covered_pixels(window, background):
    """Pixels of the frame just drawn whose colour is not the background."""
    grab = vtk.vtkWindowToImageFilter()
    grab.SetInput(window)
    grab.ReadFrontBufferOff()
    grab.ShouldRerenderOff()
    grab.Update()
    image = grab.GetOutput()
    rgb = vtk_to_numpy(image.GetPointData().GetScalars())[:, :3]
    return int(np.count_nonzero(np.any(rgb != background, axis=1)))


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    path, mode, frames = args[0], args[1], int(args[2])
    multisampling = "--no-multisampling" not in sys.argv
    sets, count, points = read_points(path)
    # The points stay in data coordinates and the actor maps them into the box,
    # as Zendral's model-view matrix does: a tube's radius is in data units, so
    # the box mapping flattens it along the axes of large extent in both.
    low, high = points.min(axis=0), points.max(axis=0)
    factor = 10.0 / np.where(high > low, high - low, 1.0)

    poly = vtk.vtkPolyData()
    vtk_points = vtk.vtkPoints()
    vtk_points.SetData(numpy_to_vtk(points.astype(np.float32), deep=True))
    poly.SetPoints(vtk_points)
    index = np.arange(sets * count, dtype=np.int64).reshape(sets, count)  # set by set
    if mode == "points":
        poly.SetVerts(cells(np.array([0, sets * count]), index.ravel()))
    elif mode == "surface":
        quads = np.stack([index[:-1, :-1], index[:-1, 1:], index[1:, 1:], index[1:, :-1]], axis=-1)
        poly.SetPolys(cells(np.arange(0, quads.size + 1, 4), quads.ravel()))
    else:
        poly.SetLines(cells(np.arange(0, sets * count + 1, count), index.ravel()))

    source = poly
    if mode == "tubes":
        tubes = vtk.vtkTubeFilter()
        tubes.SetInputData(poly)
        tubes.SetRadius(0.02)
        tubes.SetNumberOfSides(8)
        tubes.CappingOn()
        tubes.Update()
        source = tubes.GetOutput()
    mapper = vtk.vtkPolyDataMapper()
    mapper.SetInputData(source)
    mapper.ScalarVisibilityOff()
    actor = vtk.vtkActor()
    actor.SetMapper(mapper)
    actor.SetScale(*factor)
    actor.SetPosition(*(-low * factor - 5.0))
    actor.GetProperty().SetColor(1.0, 0.0, 0.0)
    actor.GetProperty().SetPointSize(2)
    if mode == "surface":
        actor.GetProperty().SetInterpolationToFlat()

    renderer = vtk.vtkRenderer()
    renderer.SetBackground(1.0, 1.0, 1.0)
    renderer.AddActor(actor)
    camera = renderer.GetActiveCamera()
    camera.SetPosition(0, 0, 20)
    camera.SetFocalPoint(0, 0, 0)
    camera.SetViewUp(0, 1, 0)
    camera.SetViewAngle(45)
    camera.SetClippingRange(0.1, 100000)
    window = vtk.vtkRenderWindow()
    if not multisampling:
        window.SetMultiSamples(0)
    window.SetSize(800, 600)
    window.AddRenderer(renderer)
    window.Render()  # uploads the data, as Zendral's first frame records it

    faults = page_faults()
    cpu, wall = time.process_time(), time.perf_counter()
    for _ in range(frames):
        window.Render()
        window.WaitForCompletion()
    cpu, wall = (time.process_time() - cpu) / frames, (time.perf_counter() - wall) / frames
    faults = (page_faults() - faults) / frames
    covered = covered_pixels(window, (255, 255, 255))
    print("%.6f %.6f %.1f %d %d" % (cpu, wall, faults, covered, window.GetMultiSamples()))


if __name__ == "__main__":
    main()
