"""What the worked-example scripts share: printing their files, writing them,
or checking them against those kept in a folder (the tests' data).

    run(args, files, same=None)
args: the script's arguments ([], ["--check", DIR] or ["--write", DIR]);
files: {name: text}; same(kept, worked, name) says whether a kept file
agrees with the worked one (the texts equal, unless given). Returns the exit
status.
"""


def run(args, files, same=None):
    if same is None:
        same = lambda kept, worked, name: kept == worked
    if len(args) == 2 and args[0] == "--check":
        failed = False
        for name, text in files.items():
            with open("%s/%s" % (args[1], name), encoding="utf-8") as kept:
                if not same(kept.read(), text, name):
                    print("%s differs from the worked example:\n%s" % (name, text))
                    failed = True
        return 1 if failed else 0
    if len(args) == 2 and args[0] == "--write":
        for name, text in files.items():
            with open("%s/%s" % (args[1], name), "w", encoding="utf-8") as kept:
                kept.write(text)
        return 0
    for name, text in files.items():
        print("# " + name)
        print(text)
    return 0
