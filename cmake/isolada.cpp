// Linked with one logic library whole and only its own dependencies: the link fails when that
// library uses Qt Widgets or Qt PrintSupport.
int main()
{
    return 0;
}
