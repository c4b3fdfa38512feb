"""Pixels of a screenshot, read without any imaging library beyond ImageMagick."""

import subprocess


class Picture:
    """An RGB picture: pixel reads, region averages and region comparisons."""

    def __init__(self, path):
        self.path = path
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                             check=True).stdout
        # "P6", width, height, maximum, each followed by one blank, then the pixels.
        fields, offset = [], 0
        while len(fields) < 4:
            end = offset
            while ppm[end:end + 1] not in (b" ", b"\n", b"\t", b"\r"):
                end += 1
            if end > offset:
                fields.append(ppm[offset:end])
            offset = end + 1
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = ppm[offset:offset + 3 * self.width * self.height]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def mean(self, box):
        """Average colour of box (x, y, w, h)."""
        x0, y0, w, h = box
        total = [0, 0, 0]
        for y in range(y0, y0 + h):
            row = self.data[3 * (y * self.width + x0):3 * (y * self.width + x0 + w)]
            total[0] += sum(row[0::3])
            total[1] += sum(row[1::3])
            total[2] += sum(row[2::3])
        n = w * h
        return tuple(t / n for t in total)

    def region(self, box):
        x0, y0, w, h = box
        return b"".join(self.data[3 * (y * self.width + x0):3 * (y * self.width + x0 + w)]
                        for y in range(y0, y0 + h))

    def black(self, box):
        """How many pixels of box are black."""
        data = self.region(box)
        return sum(1 for i in range(0, len(data), 3) if data[i:i + 3] == b"\0\0\0")

    def gain(self, other, box, ceiling=255):
        """Channel by channel, this picture's pixels in box summed over the other's, counting
        only the pixels where the other's channels are all at most ceiling."""
        mine, theirs = self.region(box), other.region(box)
        sums = [[0, 0] for _ in range(3)]
        for i in range(0, len(mine), 3):
            if max(theirs[i:i + 3]) <= ceiling:
                for channel in range(3):
                    sums[channel][0] += mine[i + channel]
                    sums[channel][1] += theirs[i + channel]
        return tuple(a / b if b else 0.0 for a, b in sums)

    def differing(self, other, box, tolerance=0):
        """How many pixels of box differ between the two pictures by more than tolerance."""
        x0, y0, w, h = box
        count = 0
        for y in range(y0, y0 + h):
            start = 3 * (y * self.width + x0)
            a = self.data[start:start + 3 * w]
            b = other.data[start:start + 3 * w]
            if a == b:
                continue
            for i in range(0, len(a), 3):
                if (abs(a[i] - b[i]) > tolerance or abs(a[i + 1] - b[i + 1]) > tolerance
                        or abs(a[i + 2] - b[i + 2]) > tolerance):
                    count += 1
        return count


def distance(a, b):
    return sum((p - q) ** 2 for p, q in zip(a, b)) ** 0.5


def sharpness(path, box, drawn=(800, 600), rows=False):
    """How much sharper the picture in box (x, y, w, h) of a screenshot is than itself
    brought down to the size drawn and stretched back bilinearly: the ratio of their mean
    absolute Laplacians in grey. Near 1 (1.1 to 1.35) for a picture drawn at that size
    and stretched, well above for one drawn at the size it is shown. With rows, only the
    change from row to row counts, and only in the middle half of the height: a copy
    between heights a row apart blends neighbouring rows most there."""
    x, y, w, h = box
    kernel = "1x3: 1,-2,1" if rows else "Laplacian:0"
    middle = ["-crop", f"{w}x{h // 2}+0+{h // 4}", "+repage"] if rows else []
    # The stretched copy is brought to 8 bits as the screenshot is: rounding alone adds
    # to the Laplacian. Without HDRI the filter's output is clipped at 0, so the negated
    # copies give the other half of its absolute value.
    result = subprocess.run(
        ["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
         "(", "+clone", "-resize", f"{drawn[0]}x{drawn[1]}!", "-filter", "Triangle",
         "-resize", f"{w}x{h}!", "-depth", "8", ")", "-colorspace", "Gray",
         "(", "-clone", "0,1", "-negate", ")",
         "-define", "convolve:scale=!", "-morphology", "Convolve", kernel, *middle,
         "-format", "%[fx:mean] ", "info:"], capture_output=True, text=True, check=True)
    shown, stretched, shown_negated, stretched_negated = map(float, result.stdout.split())
    return (shown + shown_negated) / (stretched + stretched_negated)
