extern "C" __attribute__((visibility("default"))) int getVersion()
{
    return 1;
}
